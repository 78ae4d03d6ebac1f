#include "SystemInformation.h"

#include "model/TextUtils.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QSysInfo>
#include <unistd.h>

namespace SystemInformation {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(SystemInformation)
};

// Two decimals without the trailing zeros: 2.00 gives "2", 1.50 gives "1.5".
QString shortDecimal(double value)
{
    return TextUtils::cleanFloat(QString::asprintf("%.2f", value));
}

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // /proc files report a size of 0, so read until the end rather than by size.
    return QString::fromUtf8(file.readAll());
}

} // namespace

Processor parseCpuInfo(const QString &cpuInfo)
{
    Processor processor;
    QString vendor;
    const QStringList lines = cpuInfo.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == QLatin1String("processor"))
            ++processor.count;
        else if (key == QLatin1String("cpu MHz") && processor.megahertz == 0)
            processor.megahertz = int(value.toDouble());
        else if (key == QLatin1String("vendor_id") && vendor.isEmpty())
            vendor = value;
    }
    if (vendor == QLatin1String("GenuineIntel"))
        processor.familyName = QStringLiteral("Intel");
    else if (vendor == QLatin1String("AuthenticAMD"))
        processor.familyName = QStringLiteral("AMD");
    else if (!vendor.isEmpty())
        processor.familyName = vendor;
    return processor;
}

QString clockSpeedString(int megahertz)
{
    if (megahertz < 1000)
        return Tr::tr("%1 MHz").arg(megahertz);
    return Tr::tr("%1 GHz").arg(shortDecimal(megahertz / 1000.0));
}

QString cpuString(const Processor &processor)
{
    const QString count = QString::number(qMax(1, processor.count));
    const QString times(QChar(0x00D7));
    if (processor.megahertz <= 0)
        return QStringLiteral("%1 %2 %3").arg(count, times, processor.familyName);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(count, times, clockSpeedString(processor.megahertz), processor.familyName);
}

QString memoryString(qint64 megabytes)
{
    if (megabytes < 1024)
        return Tr::tr("%1 MB %2").arg(megabytes).arg(Tr::tr("RAM"));
    return Tr::tr("%1 GB %2").arg(shortDecimal(megabytes / 1024.0), Tr::tr("RAM"));
}

QString operatingSystemString()
{
    QString name = QSysInfo::prettyProductName();
    const QString kernel = QSysInfo::kernelType();
    if (!kernel.isEmpty() && !name.contains(kernel, Qt::CaseInsensitive)) {
        // The kernel's three-part version, without the build suffix ("6.1.0-18-amd64" → "6.1.0").
        const QRegularExpressionMatch version =
            QRegularExpression(QStringLiteral("^\\d+(\\.\\d+){0,2}")).match(QSysInfo::kernelVersion());
        QString kernelName = kernel;
        kernelName[0] = kernelName.at(0).toUpper();
        name += QStringLiteral(", %1 %2").arg(kernelName, version.captured(0)).trimmed();
    }
    return name;
}

QString hardwareInformationString()
{
    Processor processor = parseCpuInfo(readFile(QStringLiteral("/proc/cpuinfo")));
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    if (online > 0)
        processor.count = int(online);
    if (processor.megahertz == 0) {
        // Some systems (ARM boards, some virtual machines) tell the clock only here, in kHz.
        const QString maxFrequency =
            readFile(QStringLiteral("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq")).trimmed();
        processor.megahertz = int(maxFrequency.toLongLong() / 1000);
    }
    if (processor.familyName.isEmpty())
        processor.familyName = QSysInfo::currentCpuArchitecture();

    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    const qint64 megabytes = pages > 0 && pageSize > 0 ? qint64(pages) * pageSize / (1024 * 1024) : 0;
    return QStringLiteral("%1, %2").arg(cpuString(processor), memoryString(megabytes));
}

} // namespace SystemInformation
