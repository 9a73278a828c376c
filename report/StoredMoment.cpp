// Writing a moment back in the stored form.
#include "report/StoredMoment.h"

#include "report/ReportOutput.h"

#include <cstring>

QString StoredMoment::toText() const
{
    char text[23];
    writeText(text);
    return QString::fromLatin1(text, 23);
}

void StoredMoment::writeText(char* text) const
{
    const auto put = [&text](int at, int value) {
        std::memcpy(text + at, PlacedText::digitPairs.data() + 2 * value, 2);
    };
    put(0, year / 100);
    put(2, year % 100);
    text[4] = '/';
    put(5, month);
    text[7] = '/';
    put(8, day);
    text[10] = ',';
    text[11] = ' ';
    put(12, hour);
    text[14] = ':';
    put(15, minute);
    text[17] = ':';
    put(18, second);
    text[20] = ' ';
    text[21] = half;
    text[22] = 'm';
}
