#pragma once

#include <QString>
#include <QtGlobal>

// What the about box tells about the machine: the operating system, the processors and the memory,
// read from the running system. The formatting is separate from the reading so it can be tested.
namespace SystemInformation {

struct Processor
{
    int count = 0;      // processors online
    int megahertz = 0;  // clock speed; 0 when the system does not tell
    QString familyName; // "Intel", "AMD", or the architecture ("arm64") for others
};

// The fields of /proc/cpuinfo the about box needs (the first processor's clock and vendor).
Processor parseCpuInfo(const QString &cpuInfo);

// "867 MHz" up to 999 MHz, else gigahertz with at most two decimals: "2 GHz", "1.25 GHz".
QString clockSpeedString(int megahertz);
// "2 × 2.1 GHz AMD"; without a known clock "2 × AMD".
QString cpuString(const Processor &processor);
// "512 MB RAM" up to 1023 MB, else gigabytes with at most two decimals: "1.5 GB RAM".
QString memoryString(qint64 megabytes);

// The running system, e.g. "Debian GNU/Linux 12 (bookworm), Linux 6.1.0".
QString operatingSystemString();
// The running machine's processors and memory: "2 × 2.1 GHz AMD, 23.54 GB RAM".
QString hardwareInformationString();

} // namespace SystemInformation
