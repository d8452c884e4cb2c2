#pragma once
// The text of each page of a PDF file, as a reader finds it; none when the
// file is no PDF.
#include <QPdfDocument>
#include <QStringList>

namespace lktest {

inline QStringList PdfPages(const QString &file)
{
    QPdfDocument pdf;
    pdf.load(file);
    QStringList pages;
    for (int i = 0; i < pdf.pageCount(); ++i)
        pages << pdf.getAllText(i).text();
    return pages;
}

} // namespace lktest
