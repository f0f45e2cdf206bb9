#include "headless_browser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace virdamo::test {

namespace {
constexpr int kAnswerMs = 30'000;
}  // namespace

HeadlessBrowser::HeadlessBrowser(int width, int height)
{
    int commands[2];
    int answers[2];
    if (::pipe2(commands, O_CLOEXEC) != 0 || ::pipe2(answers, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    const std::string size = "--window-size=" + std::to_string(width) + "," + std::to_string(height);
    // A profile of its own, thrown away at the end: nothing of one browser reaches the next.
    static const QTemporaryDir profiles;
    static int browsers = 0;
    const std::string data = "--user-data-dir=" + profiles.filePath(QString::number(++browsers)).toStdString();
    pid_ = ::fork();
    if (pid_ == 0) {
        // The protocol's pipes are descriptors 3 and 4; copies above them first, so that
        // neither end is closed by the other's move.
        const int in = ::fcntl(commands[0], F_DUPFD, 10);
        const int out = ::fcntl(answers[1], F_DUPFD, 10);
        ::dup2(in, 3);
        ::dup2(out, 4);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        // No network: every host is unknown and every proxied request goes nowhere.
        ::execlp("chromium", "chromium", "--headless=new", "--no-sandbox", "--remote-debugging-pipe",
                 "--proxy-server=127.0.0.1:9", "--host-resolver-rules=MAP * ~NOTFOUND", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync", data.c_str(),
                 size.c_str(), "about:blank", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(commands[0]);
    ::close(answers[1]);
    toBrowser_ = commands[1];
    fromBrowser_ = answers[0];
    if (pid_ < 0) throw std::runtime_error("fork");
    const QJsonObject target =
        send({{"method", "Target.createTarget"}, {"params", QJsonObject{{"url", "about:blank"}}}});
    session_ = send({{"method", "Target.attachToTarget"},
                     {"params", QJsonObject{{"targetId", target["targetId"]}, {"flatten", true}}}})["sessionId"]
                   .toString();
    call("Page.enable");
    call("Network.enable");
    call("Runtime.enable");
}

HeadlessBrowser::~HeadlessBrowser()
{
    ::close(toBrowser_);
    ::close(fromBrowser_);
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

QJsonObject HeadlessBrowser::send(const QJsonObject& message)
{
    QJsonObject sent = message;
    sent["id"] = ++id_;
    const QByteArray bytes = QJsonDocument(sent).toJson(QJsonDocument::Compact) + '\0';
    if (::write(toBrowser_, bytes.constData(), static_cast<std::size_t>(bytes.size())) != bytes.size()) {
        throw std::runtime_error("the browser does not take commands");
    }
    for (;;) {
        qsizetype end = pending_.indexOf('\0');
        while (end < 0) {
            pollfd ready{fromBrowser_, POLLIN, 0};
            char buffer[65536];
            const ssize_t got = ::poll(&ready, 1, kAnswerMs) == 1 ? ::read(fromBrowser_, buffer, sizeof buffer) : 0;
            if (got <= 0)
                throw std::runtime_error("no answer from the browser to " + message["method"].toString().toStdString());
            pending_.append(buffer, got);
            end = pending_.indexOf('\0');
        }
        const QJsonObject answer = QJsonDocument::fromJson(pending_.left(end)).object();
        pending_.remove(0, end + 1);
        if (answer["id"].toInt() != id_) {
            events_.push_back(answer);
            continue;
        }
        if (answer.contains("error")) {
            throw std::runtime_error(QJsonDocument(answer["error"].toObject()).toJson().toStdString());
        }
        return answer["result"].toObject();
    }
}

QJsonObject HeadlessBrowser::call(const QString& method, const QJsonObject& params)
{
    return send({{"method", method}, {"params", params}, {"sessionId", session_}});
}

QJsonValue HeadlessBrowser::evaluate(const QString& expression)
{
    const QJsonObject result =
        call("Runtime.evaluate", {{"expression", expression}, {"awaitPromise", true}, {"returnByValue", true}});
    if (result.contains("exceptionDetails")) {
        throw std::runtime_error(QJsonDocument(result["exceptionDetails"].toObject()).toJson().toStdString());
    }
    return result["result"].toObject()["value"];
}

void HeadlessBrowser::open(const QString& url, const QString& expression)
{
    // The page being left is marked, so that its own readiness is not taken for the new one's.
    evaluate("window.beingLeft = true");
    call("Page.navigate", {{"url", url}});
    const QString newPage = "!window.beingLeft && document.documentElement && (" + expression + ")";
    for (int waited = 0; waited < kAnswerMs; waited += 10) {
        if (evaluate(newPage).toBool()) return;
        QThread::msleep(10);
    }
    QString thrown;  // what the page's scripts threw tells why
    for (const QJsonObject& event : events_) {
        if (event["method"] == "Runtime.exceptionThrown") thrown += QJsonDocument(event["params"].toObject()).toJson();
    }
    throw std::runtime_error("the page did not get ready: " + url.toStdString() + "\n" + thrown.toStdString());
}

void HeadlessBrowser::press(const QString& key)
{
    const bool printable = key.size() == 1;
    QJsonObject down{{"type", printable ? "keyDown" : "rawKeyDown"}, {"key", key}};
    if (printable) down["text"] = key;
    if (key == "Enter") down["windowsVirtualKeyCode"] = 13;
    call("Input.dispatchKeyEvent", down);
    call("Input.dispatchKeyEvent", {{"type", "keyUp"}, {"key", key}});
}

std::vector<QString> HeadlessBrowser::requested() const
{
    std::vector<QString> urls;
    for (const QJsonObject& event : events_) {
        if (event["method"].toString() == "Network.requestWillBeSent") {
            urls.push_back(event["params"].toObject()["request"].toObject()["url"].toString());
        }
    }
    return urls;
}

}  // namespace virdamo::test
