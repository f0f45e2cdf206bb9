#pragma once

#include "forms/form.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QPoint>
#include <QString>
#include <QTest>

#include <cstdint>
#include <optional>
#include <stdexcept>

namespace virdamo::test {

/// The control of window with that name and array index, or nullptr.
inline forms::Control* findControl(forms::Form& window, const QString& name, std::int16_t index = forms::kNoIndex)
{
    const QString shown = index == forms::kNoIndex ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
    for (int i = 0; i < window.controlCount(); ++i) {
        if (window.control(i).displayName() == shown) {
            return &window.control(i);
        }
    }
    return nullptr;
}

/// The control of window with that name and array index, which must exist and be a T.
template <typename T = forms::Control>
T& control(forms::Form& window, const QString& name, std::int16_t index = forms::kNoIndex)
{
    if (auto* found = dynamic_cast<T*>(findControl(window, name, index))) {
        return *found;
    }
    throw std::out_of_range("no control " + name.toStdString() + "(" + std::to_string(index) + ") of that kind");
}

/// Clicks with the mouse, at at (the middle by default), the visible button whose object
/// name is name inside root ("Opt1(2)", "cmdStampa"); false when there is none. The click
/// is sent to the widget from code, so it skips what the display server's input meets on
/// its way: tests about what the user's own click does go through the server.
inline bool clickButton(const QObject* root, const QString& name, std::optional<QPoint> at = std::nullopt)
{
    auto* button = root ? root->findChild<QAbstractButton*>(name) : nullptr;
    if (!button || !button->isVisible()) {
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton, {}, at.value_or(button->rect().center()));
    return true;
}

/// Deletes the windows that unloaded: Qt deletes them late, when the event loop comes by.
inline void deleteUnloadedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace virdamo::test
