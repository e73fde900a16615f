#pragma once

#include <QList>
#include <QString>
#include <optional>

// The four invoice layouts and their files in the program's folder.
class PrintLayout {
public:
    enum Id { Overlay108, A4_108, Overlay84, A4_84 };

    static QList<Id> all() { return {Overlay108, A4_108, Overlay84, A4_84}; }
    // "p108.fr3", "pa4108.fr3", "p84.fr3", "pa484.fr3"
    static QString fileName(Id id);
    // The file name without extension, as the command line names a layout: "p108" ...
    static QString shortName(Id id);
    static std::optional<Id> fromShortName(const QString& name);
    static bool isOverlay(Id id) { return id == Overlay108 || id == Overlay84; }
    static int cipherLength(Id id) { return (id == Overlay84 || id == A4_84) ? 84 : 108; }
    // Folder + file name.
    static QString path(Id id, const QString& folder);
};
