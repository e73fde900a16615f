#pragma once

#include "ReportPage.h"

#include <QList>
#include <QString>

// A print layout: the pages with their objects, as one layout file holds it.
//
// The file format is our own versioned XML (root <fapiao-layout version="1">); see LayoutXml.
// Loading never changes a file; saving refuses to overwrite a file that is not a layout of ours.
class ReportLayout {
public:
    QList<ReportPage> pages;
    QString fileName; // remembered by LoadFromFile; where a designer saves back to

    // Replaces the whole content by the file's and remembers its name. Throws DbError naming
    // the file and what is wrong: missing, unreadable, not a layout of ours, newer version,
    // damaged content.
    void LoadFromFile(const QString& path);
    // Writes the layout (atomically) and remembers the name. Throws DbError when the file cannot
    // be written or when an existing file there is not a layout of ours.
    void SaveToFile(const QString& path);

    // The first object over all pages whose name equals `name` ignoring ASCII case, or null.
    ReportObject* FindObject(const QString& name);
    const ReportObject* FindObject(const QString& name) const;

    bool operator==(const ReportLayout& other) const { return pages == other.pages; }
};
