#include "InvoiceFields.h"

#include "DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

namespace {

// The format Qt decodes for each extension the picture dialog offers.
const QHash<QString, QByteArray> PictureFormats = {{QStringLiteral("bmp"), "bmp"},
                                                   {QStringLiteral("jpg"), "jpeg"},
                                                   {QStringLiteral("jpeg"), "jpeg"},
                                                   {QStringLiteral("ico"), "ico"},
                                                   {QStringLiteral("png"), "png"}};

QByteArray readPicture(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("wmf") || extension == QLatin1String("emf"))
        throw DbError(QStringLiteral("背景图片“%1”是图元文件（.%2），本程序不支持此格式，"
                                     "请改用 BMP、JPEG 或 PNG 图片。")
                          .arg(shown, extension));
    if (extension.isEmpty())
        throw DbError(QStringLiteral("背景图片“%1”没有扩展名，无法判断图片格式。").arg(shown));
    if (!PictureFormats.contains(extension))
        throw DbError(QStringLiteral("背景图片“%1”的扩展名“.%2”不是已知的图片格式。")
                          .arg(shown, QFileInfo(path).suffix()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("无法打开背景图片“%1”：%2").arg(shown, file.errorString()));
    const QByteArray data = file.readAll();
    if (QImage::fromData(data, PictureFormats.value(extension).constData()).isNull())
        throw DbError(QStringLiteral("无法读取背景图片“%1”：文件内容不是有效的 .%2 图片。")
                          .arg(shown, extension));
    return data;
}

} // namespace

QStringList splitFieldText(const QString& text) {
    if (text.isEmpty())
        return {};
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n|\u2028"));
    return text.split(breaks);
}

bool SetFieldText(ReportLayout& layout, const QString& name, const QString& text) {
    ReportObject* object = layout.FindObject(name);
    if (!object || object->kind != ReportObject::Kind::Text)
        return false;
    object->lines = splitFieldText(text);
    return true;
}

void FillInvoiceFields(ReportLayout& layout, const QList<FieldText>& fields) {
    for (const FieldText& field : fields)
        SetFieldText(layout, field.name, field.text);
}

void ApplyBackgroundPicture(ReportLayout& layout, const BackgroundPicture& picture) {
    ReportObject* ptc = layout.FindObject(QLatin1String(InvoiceFieldMap::PictureField));
    if (!ptc || ptc->kind != ReportObject::Kind::Picture)
        return;
    if (!picture.path.isEmpty())
        ptc->imageData = readPicture(picture.path);
    ptc->visible = picture.visible;
}
