// Helpers of the map suites: run a script in a page and wait for its result, wait for a
// condition while the event loop runs.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QVariant>
#include <QWebEnginePage>

#include <functional>
#include <optional>

namespace quorva::test {

// Runs events until the condition holds or ms passed.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

inline void Spin(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The result of a script (an expression, or JSON text when it returns JSON.stringify(...)).
inline QVariant Eval(QWebEnginePage* page, const QString& script) {
    std::optional<QVariant> result;
    page->runJavaScript(script, [&](const QVariant& v) { result = v; });
    WaitFor([&] { return result.has_value(); }, 10000);
    return result.value_or(QVariant());
}

}  // namespace quorva::test
