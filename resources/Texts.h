#pragma once
// The plain source of the texts file and the help pages.
#include <QMap>
#include <QString>
#include <QStringList>

namespace Resources {

// The lines of a UTF-8 source file; throws when it cannot be read.
QStringList readTextLines(const QString &fileName);

// Line k of the source is text k (index 0 stays empty).
class Texts {
public:
    explicit Texts(const QString &fileName);
    QString text(int index) const;
    // A caption "@k" is text k; any other caption is itself.
    QString resolve(const QString &caption) const;
    const QStringList &lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// Help page bodies: sections headed "[name]", name being the picture's base name.
QMap<QString, QString> readHelpPages(const QString &fileName);

} // namespace Resources
