#include "platform/office/CNumberLocale.h"

#include <clocale>
#include <cstring>

namespace platform::office {

#ifdef _WIN32

CNumberLocale::CNumberLocale()
{
    m_oldThreadMode = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    if (const char *old = std::setlocale(LC_NUMERIC, nullptr))
        std::strncpy(m_oldNumeric, old, sizeof m_oldNumeric - 1);
    std::setlocale(LC_NUMERIC, "C");
}

CNumberLocale::~CNumberLocale()
{
    if (m_oldNumeric[0] != '\0')
        std::setlocale(LC_NUMERIC, m_oldNumeric);
    _configthreadlocale(m_oldThreadMode);
}

#else

CNumberLocale::CNumberLocale()
{
    // "C" always exists, so newlocale fails only without memory; then the
    // thread keeps its locale, as before.
    m_cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    if (m_cLocale != locale_t(nullptr))
        m_oldLocale = uselocale(m_cLocale);
}

CNumberLocale::~CNumberLocale()
{
    if (m_cLocale == locale_t(nullptr))
        return;
    uselocale(m_oldLocale);
    freelocale(m_cLocale);
}

#endif

} // namespace platform::office
