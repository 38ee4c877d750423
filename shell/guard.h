#pragma once

#include "shell/errors.h"
#include "shell/messages.h"

#include <QWidget>
#include <utility>

// The event boundary: runs one user action. A stop ends it silently; any
// other error ends it where it arose and is shown in the general error box.
// Nothing escapes, so no exception ever unwinds through Qt's event dispatch.
template <typename F> void Guarded(F &&action) noexcept {
    try {
        std::forward<F>(action)();
    } catch (const EAbort &) {
    } catch (const Exception &e) {
        Msg::ShowError(e.Message());
    } catch (const std::exception &e) {
        Msg::ShowError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Msg::ShowError(QStringLiteral("Unknown error"));
    }
}

// A check that failed: its message in the plain box, the focus where the
// operator should correct it, and the stop.
[[noreturn]] inline void Refuse(const QString &message, QWidget *focus = nullptr) {
    Msg::ShowMessage(message);
    if (focus)
        focus->setFocus();
    Abort();
}
