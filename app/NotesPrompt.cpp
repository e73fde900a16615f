#include "NotesPrompt.h"

NotesPrompt::Step NotesPrompt::tick(const QVariant& promptFlag) {
    if (isFinished())
        return Step::Stop;
    ++ticks_;
    if (!isFinished())
        return Step::KeepTicking;
    return wantsNotes(promptFlag) ? Step::StopAndShowNotes : Step::Stop;
}

bool NotesPrompt::wantsNotes(const QVariant& promptFlag) {
    if (promptFlag.isNull())
        return false;
    switch (promptFlag.typeId()) {
    case QMetaType::Bool:
        return !promptFlag.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
        return promptFlag.toLongLong() == 0;
    default:
        return false;
    }
}
