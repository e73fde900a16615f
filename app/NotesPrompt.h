#pragma once

#include <QVariant>

// Decides, tick by tick of the main window's one-second timer after login, whether the notes
// window opens by itself: on the fifth tick the timer stops for the rest of the run, and the
// notes open when the current user's 提示 is exactly False (null or True: they stay closed).
class NotesPrompt {
public:
    enum class Step { KeepTicking, Stop, StopAndShowNotes };

    static constexpr int ticksBeforeNotes = 5;

    // One tick; `promptFlag` is 提示 of the current user row at that moment.
    Step tick(const QVariant& promptFlag);
    bool isFinished() const { return ticks_ >= ticksBeforeNotes; }
    static bool wantsNotes(const QVariant& promptFlag);

private:
    int ticks_ = 0;
};
