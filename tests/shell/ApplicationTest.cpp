#include "shell/SignalCloser.h"
#include "shell/TApplication.h"
#include "toolkit/MessageBox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>

namespace {

class TThrowingObject : public QObject {
public:
    int Handled = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User) {
            ++Handled;
            throw std::runtime_error("Disk on fire");
        }
        return QObject::event(e);
    }
};

} // namespace

TEST(Application, ErrorsEscapingAHandlerAreReportedAndTheLoopGoesOn)
{
    TMessageBox::ClearScript();
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TThrowingObject object;
    QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&object);
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(TMessageBox::Shown()[0].Text, "Disk on fire");
    EXPECT_EQ(TMessageBox::Shown()[0].Kind, mkError);
    EXPECT_EQ(TMessageBox::Shown()[0].Buttons, MsgButton::OK);

    // The program goes on: the next event is delivered and reported as well.
    QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&object);
    EXPECT_EQ(object.Handled, 2);
    EXPECT_EQ(TMessageBox::Shown().size(), 2u);
    TMessageBox::ClearScript();
}

TEST(Application, TerminationSignalsAskForAnOrdinaryClose)
{
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        TSignalCloser closer;
        QSignalSpy spy(&closer, &TSignalCloser::CloseRequested);
        ASSERT_EQ(::raise(sig), 0);
        ASSERT_TRUE(spy.count() > 0 || spy.wait(5000)) << "signal " << sig;
        EXPECT_EQ(spy.first().first().toInt(), sig);
    }
}
