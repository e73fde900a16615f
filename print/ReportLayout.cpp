#include "ReportLayout.h"

#include "DbError.h"
#include "LayoutXml.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

char16_t foldAscii(char16_t u) {
    return (u >= u'A' && u <= u'Z') ? char16_t(u - u'A' + u'a') : u;
}

// Only A-Z fold to a-z; every other character, Chinese ones included, must match exactly.
bool sameNameIgnoringAsciiCase(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (foldAscii(a[i].unicode()) != foldAscii(b[i].unicode()))
            return false;
    return true;
}

QString shownName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

void ReportLayout::LoadFromFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo::exists(path))
        throw DbError(QStringLiteral("找不到版式文件“%1”。").arg(shownName(path)));
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(
            QStringLiteral("无法读取版式文件“%1”：%2").arg(shownName(path), file.errorString()));
    ReportLayout loaded = LayoutXml::read(file.readAll(), shownName(path));
    pages = std::move(loaded.pages);
    fileName = path;
}

void ReportLayout::SaveToFile(const QString& path) {
    QFile existing(path);
    if (existing.exists() && existing.open(QIODevice::ReadOnly) &&
        !LayoutXml::isLayout(existing.read(64 * 1024)))
        throw DbError(
            QStringLiteral("文件“%1”不是本程序的版式文件，不会覆盖它。").arg(shownName(path)));
    existing.close();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(LayoutXml::write(*this)) < 0 ||
        !file.commit())
        throw DbError(
            QStringLiteral("无法保存版式文件“%1”：%2").arg(shownName(path), file.errorString()));
    fileName = path;
}

ReportObject* ReportLayout::FindObject(const QString& name) {
    for (ReportPage& page : pages)
        for (ReportObject& object : page.objects)
            if (sameNameIgnoringAsciiCase(object.name, name))
                return &object;
    return nullptr;
}

const ReportObject* ReportLayout::FindObject(const QString& name) const {
    return const_cast<ReportLayout*>(this)->FindObject(name);
}
