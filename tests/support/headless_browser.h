#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <sys/types.h>

#include <vector>

namespace virdamo::test {

/// Debian's chromium, headless and cut off from any network, driven through its DevTools
/// protocol over a pair of pipes, one page at a time. The destructor ends it.
class HeadlessBrowser final {
public:
    /// Starts the browser on a blank page of width x height pixels; throws if it does not answer.
    HeadlessBrowser(int width, int height);
    ~HeadlessBrowser();

    HeadlessBrowser(const HeadlessBrowser&) = delete;
    HeadlessBrowser& operator=(const HeadlessBrowser&) = delete;

    /// Calls method of the page with params and returns its result; throws on an error.
    QJsonObject call(const QString& method, const QJsonObject& params = {});
    /// The value of a script's expression run in the page, a promise's once settled.
    QJsonValue evaluate(const QString& expression);
    /// Opens url and waits until expression is true in it.
    void open(const QString& url, const QString& expression);
    /// A key pressed and released as the keyboard gives it: "7", "-", "Enter".
    void press(const QString& key);
    /// Every address the page asked for since it started.
    [[nodiscard]] std::vector<QString> requested() const;

private:
    QJsonObject send(const QJsonObject& message);

    pid_t pid_ = -1;
    int toBrowser_ = -1;
    int fromBrowser_ = -1;
    int id_ = 0;
    QString session_;
    QByteArray pending_;
    std::vector<QJsonObject> events_;
};

}  // namespace virdamo::test
