#include "common/UUtils.h"

#include <gtest/gtest.h>

TEST(LineBreaks, StoredFormOfMultiLineText)
{
    EXPECT_EQ(EncodeLineBreaks("a\r\nb\r\n"), "a$$b");
    EXPECT_EQ(EncodeLineBreaks("a\r\nb"), "a$$b");
    EXPECT_EQ(EncodeLineBreaks("\r\n"), "");
    EXPECT_EQ(EncodeLineBreaks("a\r\n\r\n"), "a$$");
    // Lone CR and LF are not line breaks of the stored form.
    EXPECT_EQ(EncodeLineBreaks("a\rb\nc"), "a\rb\nc");
    EXPECT_EQ(EncodeLineBreaks(""), "");

    EXPECT_EQ(DecodeLineBreaks("Title A$$Title B"), "Title A\r\nTitle B");
    EXPECT_EQ(DecodeLineBreaks("$$$"), "\r\n$");
}
