#include "resources/DataFiles.h"

#include "resources/Texts.h"
#include "resources/Writers.h"
#include "services/Prekodovani.h"
#include "services/Text_1250.h"

#include <stdexcept>

namespace Resources {

namespace {

constexpr int Task_count = 21;

QStringList readSource(const QString &fileName)
{
    QStringList lines = readTextLines(fileName);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray scrambled(QByteArray bytes)
{
    Misc::Prekoduj_bajty(bytes);
    return bytes;
}

} // namespace

QByteArray toWindowsText(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bool ok = true;
        bytes += Misc::Text_do_1250(line, &ok) + "\r\n";
        if (!ok)
            throw std::runtime_error("not in Windows-1250: " + line.toStdString());
    }
    return bytes;
}

void writeDataFiles(const QString &sourceDir, const QString &dataDir)
{
    const QString data = sourceDir + QLatin1String("/data/");
    writeBytes(scrambled(toWindowsText(readSource(data + QLatin1String("texty.txt")))),
               dataDir + QLatin1String("/Texty.dat"));
    writeBytes(toWindowsText(readSource(data + QLatin1String("znamky.txt"))),
               dataDir + QLatin1String("/Znamky.dat"));

    // One section per task, headed "[n]"; an empty source gives an empty section.
    QStringList tasks;
    for (int n = 1; n <= Task_count; ++n) {
        tasks.append(QLatin1Char('[') + QString::number(n) + QLatin1Char(']'));
        tasks += readSource(data + QStringLiteral("tasks/%1.txt").arg(n, 2, 10, QLatin1Char('0')));
    }
    // The end line shows the program that the file was not cut short.
    tasks.append(QStringLiteral("[koniec]"));
    writeBytes(scrambled(toWindowsText(tasks)), dataDir + QLatin1String("/Hra.dat"));
    writeBytes({}, dataDir + QLatin1String("/Hra.res"));
    writeBytes({}, dataDir + QLatin1String("/Vysledky.dat"));
}

} // namespace Resources
