#pragma once

#ifndef _WIN32
#include <locale.h>
#endif

namespace platform::office {

// For its lifetime the calling thread formats and parses numbers the C way
// ("5.08"), whatever locale the process runs in. C libraries that print
// numbers with printf (the workbook writer) need it: a decimal comma in a
// cell's XML is read as a different number by every spreadsheet program.
class CNumberLocale
{
public:
    CNumberLocale();
    ~CNumberLocale();
    CNumberLocale(const CNumberLocale &) = delete;
    CNumberLocale &operator=(const CNumberLocale &) = delete;

private:
#ifdef _WIN32
    int m_oldThreadMode = 0;
    char m_oldNumeric[64] = {};
#else
    locale_t m_cLocale = locale_t(nullptr);
    locale_t m_oldLocale = locale_t(nullptr);
#endif
};

} // namespace platform::office
