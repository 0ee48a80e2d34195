#include "shell/DataSession.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(DataSession, ADamagedProjectsFileIsToldOnceAndKeptBeforeTheFirstSave)
{
    TTempAppDir dir;
    std::string six;
    for (int n = 1; n <= 6; ++n)
        six += std::string("^P") + char('0' + n) + "^Ann^\r\n";
    const std::size_t third = six.find("^P4");
    const std::string original = six.substr(0, third) + '\0' + six.substr(third);
    dir.Write("Projects.dat", original);
    dir.Write("Projects.damaged.dat", "an earlier copy");

    TDataSession session(dir.Path());
    const std::vector<TSessionMessage> messages = session.Load();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, mkWarning);
    EXPECT_NE(messages[0].Text.indexOf("NUL byte"), -1) << messages[0].Text.toStdString();
    EXPECT_NE(messages[0].Text.indexOf("Projects.damaged-2.dat"), -1) << messages[0].Text.toStdString();
    EXPECT_EQ(session.Projects().Count(), 3);

    EXPECT_TRUE(session.Save().isEmpty());
    EXPECT_EQ(dir.Read("Projects.damaged-2.dat"), original);
    EXPECT_EQ(dir.Read("Projects.damaged.dat"), "an earlier copy");
    // Later saves write over the session's own file, not the copy again.
    EXPECT_TRUE(session.Save().isEmpty());
    EXPECT_FALSE(dir.Exists("Projects.damaged-3.dat"));
    EXPECT_EQ(dir.Read("Projects.dat").find("P4"), std::string::npos);

    // A sound file is neither reported nor copied.
    TTempAppDir clean;
    clean.Write("Projects.dat", six);
    TDataSession sound(clean.Path());
    EXPECT_TRUE(sound.Load().empty());
    EXPECT_TRUE(sound.Save().isEmpty());
    EXPECT_FALSE(clean.Exists("Projects.damaged.dat"));
}
