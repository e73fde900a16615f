#pragma once

#include <QAction>
#include <QKeySequence>
#include <QToolBar>

// A tool bar action with an object name (for tests and scripting) and an optional shortcut.
inline QAction* addNamed(QToolBar* bar, const QString& name, const QString& text,
                         const QKeySequence& shortcut = {}) {
    QAction* action = bar->addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}
