#include "shell/SignalCloser.h"

#include <QSocketNotifier>

#include <csignal>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A signal handler may only write to a descriptor; the event loop reads the other end.
int GPipe[2] = {-1, -1};
constexpr int HandledSignals[] = {SIGTERM, SIGINT, SIGHUP};
} // namespace

TSignalCloser::TSignalCloser(QObject* parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, GPipe) != 0)
        throw std::runtime_error("Cannot create the signal channel.");
    FNotifier = new QSocketNotifier(GPipe[1], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TSignalCloser::ReadSignal);
    struct sigaction action {};
    action.sa_handler = &TSignalCloser::Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : HandledSignals)
        ::sigaction(sig, &action, nullptr);
}

TSignalCloser::~TSignalCloser()
{
    for (int sig : HandledSignals)
        ::signal(sig, SIG_DFL);
    ::close(GPipe[0]);
    ::close(GPipe[1]);
    GPipe[0] = GPipe[1] = -1;
}

void TSignalCloser::Handler(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] ssize_t written = ::write(GPipe[0], &byte, 1);
}

void TSignalCloser::ReadSignal()
{
    unsigned char byte = 0;
    if (::read(GPipe[1], &byte, 1) == 1)
        emit CloseRequested(byte);
}
