#include "FontSubstitutions.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutions() {
    const QStringList song = {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW")};
    for (const char16_t* family : {u"宋体", u"新宋体", u"SimSun", u"NSimSun", u"仿宋",
                                   u"仿宋_GB2312", u"楷体", u"楷体_GB2312", u"黑体", u"SimHei"})
        QFont::insertSubstitutions(QString::fromUtf16(family), song);
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("DejaVu Sans Mono"),
                                                               QStringLiteral("Liberation Mono")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif")});
}
