#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// What every harness shares: the process set-up, the checks that end a run with a report, and a
// cursor that cuts one input into the parts a harness needs.
namespace FuzzSupport {

// Fixes the time zone and locale (dates and 8-bit texts depend on them) and makes the Qt application
// object once; every harness calls it first.
void setUp();

// Prints what failed and aborts, which libFuzzer and the replay test both report as a failure.
[[noreturn]] void fail(const char *condition, const char *file, int line, const QString &detail);

QByteArray bytes(const uint8_t *data, size_t size);

// Takes an input apart from the front.
class Cursor
{
public:
    explicit Cursor(const QByteArray &input) : m_input(input) {}
    // The next byte, or 0 when none is left.
    uint8_t byte();
    // The bytes up to the next line feed (which is consumed), or the rest.
    QByteArray line();
    QByteArray rest();
    bool atEnd() const { return m_at >= m_input.size(); }

private:
    QByteArray m_input;
    qsizetype m_at = 0;
};

} // namespace FuzzSupport

// Checks an invariant; `detail` (a QString expression) is printed with the failure.
#define FUZZ_CHECK(condition, detail)                                                                        \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            FuzzSupport::fail(#condition, __FILE__, __LINE__, (detail));                                     \
    } while (false)
