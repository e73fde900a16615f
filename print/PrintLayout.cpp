#include "PrintLayout.h"

#include <QDir>

QString PrintLayout::shortName(Id id) {
    switch (id) {
    case Overlay108:
        return QStringLiteral("p108");
    case A4_108:
        return QStringLiteral("pa4108");
    case Overlay84:
        return QStringLiteral("p84");
    case A4_84:
        return QStringLiteral("pa484");
    }
    return QString();
}

QString PrintLayout::fileName(Id id) {
    return shortName(id) + QStringLiteral(".fr3");
}

std::optional<PrintLayout::Id> PrintLayout::fromShortName(const QString& name) {
    for (Id id : all())
        if (shortName(id).compare(name, Qt::CaseInsensitive) == 0 ||
            fileName(id).compare(name, Qt::CaseInsensitive) == 0)
            return id;
    return std::nullopt;
}

QString PrintLayout::path(Id id, const QString& folder) {
    return QDir(folder).filePath(fileName(id));
}
