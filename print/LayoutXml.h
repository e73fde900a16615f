#pragma once

#include "ReportLayout.h"

#include <QByteArray>
#include <QString>

// The layout file format: UTF-8 XML, root <fapiao-layout version="1">, one <page> per page and
// one <text>, <picture>, <line> or <rectangle> element per object, in drawing order. Lengths
// are written in millimetres with at most one decimal; an attribute that is absent has the
// default of ReportPage/ReportObject, so files stay short and read back exactly. Text lines are
// <l> children, picture bytes a base64 <image> child.
class LayoutXml {
public:
    static constexpr int Version = 1;
    static constexpr const char* RootElement = "fapiao-layout";

    static QByteArray write(const ReportLayout& layout);
    // Throws DbError naming `fileName` and what is wrong.
    static ReportLayout read(const QByteArray& data, const QString& fileName);
    // True when the data's root element is ours (whatever its version).
    static bool isLayout(const QByteArray& data);
};
