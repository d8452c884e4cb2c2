#include "resources/Texts.h"

#include <QFile>
#include <QTextStream>
#include <stdexcept>

namespace Resources {

QStringList readTextLines(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + fileName.toStdString());
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd())
        lines.append(in.readLine());
    return lines;
}

Texts::Texts(const QString &fileName)
    : m_lines(readTextLines(fileName))
{
}

QString Texts::text(int index) const
{
    return index >= 1 && index <= m_lines.size() ? m_lines[index - 1] : QString();
}

QString Texts::resolve(const QString &caption) const
{
    if (caption.startsWith(QLatin1Char('@'))) {
        bool ok = false;
        const int index = caption.mid(1).toInt(&ok);
        if (ok)
            return text(index);
    }
    return caption;
}

QMap<QString, QString> readHelpPages(const QString &fileName)
{
    QMap<QString, QString> pages;
    QString name;
    for (const QString &line : readTextLines(fileName)) {
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            name = line.mid(1, line.size() - 2);
            pages[name] = QString();
        } else if (!name.isEmpty()) {
            QString &body = pages[name];
            body += (body.isEmpty() ? QString() : QStringLiteral("\n")) + line;
        }
    }
    for (QString &body : pages)
        body = body.trimmed();
    return pages;
}

} // namespace Resources
