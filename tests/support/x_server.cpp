#include "x_server.h"

#include <QProcess>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace virdamo::test {

namespace {

constexpr int kStartTimeoutMs = 10000;

}  // namespace

PrivateXServer::PrivateXServer(int width, int height)
{
    int fds[2];
    if (::pipe(fds) != 0) {
        throw std::runtime_error("pipe failed: " + std::string(std::strerror(errno)));
    }
    // Xvfb picks a free display itself and writes its number to the pipe once it listens.
    std::vector<std::string> args{
        "Xvfb",      "-displayfd", std::to_string(fds[1]),
        "-screen",   "0",          std::to_string(width) + "x" + std::to_string(height) + "x24",
        "-nolisten", "tcp",        "-noreset"};
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (spawned != 0) {
        ::close(fds[0]);
        pid_ = -1;
        throw std::runtime_error("cannot start Xvfb: " + std::string(std::strerror(spawned)));
    }

    std::string number;
    pollfd wait{fds[0], POLLIN, 0};
    while (::poll(&wait, 1, kStartTimeoutMs) > 0) {
        char c = 0;
        if (::read(fds[0], &c, 1) != 1 || c == '\n') {
            break;
        }
        number += c;
    }
    ::close(fds[0]);
    if (number.empty()) {
        stop();
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + number;
}

PrivateXServer::~PrivateXServer()
{
    stop();
}

void PrivateXServer::stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }
}

void input::send(const QStringList& arguments)
{
    if (!QProcess::startDetached(QStringLiteral("xdotool"), arguments)) {
        throw std::runtime_error("cannot start xdotool");
    }
}

void input::click(const QWidget& widget, int times, std::optional<QPoint> place)
{
    const QPoint at = widget.mapToGlobal(place.value_or(widget.rect().center()));
    send({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
          QStringLiteral("--repeat"), QString::number(times), QStringLiteral("--delay"), QStringLiteral("60"),
          QStringLiteral("1")});
}

void input::key(const QString& key)
{
    send({QStringLiteral("key"), key});
}

void PrivateXServer::useFromThisProcess() const
{
    ::setenv("DISPLAY", display_.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
}

}  // namespace virdamo::test
