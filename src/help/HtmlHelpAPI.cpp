#include "help/HtmlHelpAPI.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <QByteArray>
#include <windows.h>

namespace {
using HtmlHelpAProc = HWND(WINAPI *)(HWND, LPCSTR, UINT, DWORD_PTR);
} // namespace

struct HtmlHelpLibrary::Loaded
{
    HMODULE module = nullptr;
    HtmlHelpAProc entry = nullptr;
    // The help the build ships is an HTML file, which the library cannot
    // read: it is shown in our own window, as on every other system.
    platform::BuiltInHtmlHelp builtIn;
};

std::unique_ptr<HtmlHelpLibrary> HtmlHelpLibrary::load()
{
    const HMODULE module = LoadLibraryA("HHCTRL.OCX");
    if (!module)
        return nullptr;
    const auto entry = reinterpret_cast<HtmlHelpAProc>(
        reinterpret_cast<void *>(GetProcAddress(module, "HtmlHelpA")));
    if (!entry) {
        FreeLibrary(module);
        return nullptr;
    }
    std::unique_ptr<HtmlHelpLibrary> library(new HtmlHelpLibrary);
    library->m_loaded->module = module;
    library->m_loaded->entry = entry;
    return library;
}

HtmlHelpLibrary::~HtmlHelpLibrary()
{
    // The library's own windows need a moment to go after HH_CLOSE_ALL.
    Sleep(100);
    FreeLibrary(m_loaded->module);
}

void HtmlHelpLibrary::HtmlHelpA(QWidget *caller, const QString &file, unsigned command,
                                const QVariant &data)
{
    const bool compiled = platform::isCompiledHelpFile(file);
    if (command == HH_CLOSE_ALL || !compiled)
        m_loaded->builtIn.HtmlHelpA(caller, file, command, data);
    if (command != HH_CLOSE_ALL && !compiled)
        return;
    const HWND window = caller ? reinterpret_cast<HWND>(caller->winId()) : nullptr;
    const QByteArray path = file.toLocal8Bit();
    const QByteArray keyword =
        data.typeId() == QMetaType::QString ? data.toString().toLocal8Bit() : QByteArray();
    const DWORD_PTR value = data.typeId() == QMetaType::QString
                                ? reinterpret_cast<DWORD_PTR>(keyword.constData())
                                : static_cast<DWORD_PTR>(data.toULongLong());
    m_loaded->entry(window, file.isEmpty() ? nullptr : path.constData(), command, value);
}

#else

struct HtmlHelpLibrary::Loaded
{
    platform::BuiltInHtmlHelp builtIn;
};

std::unique_ptr<HtmlHelpLibrary> HtmlHelpLibrary::load()
{
    return std::unique_ptr<HtmlHelpLibrary>(new HtmlHelpLibrary);
}

HtmlHelpLibrary::~HtmlHelpLibrary() = default;

void HtmlHelpLibrary::HtmlHelpA(QWidget *caller, const QString &file, unsigned command,
                                const QVariant &data)
{
    m_loaded->builtIn.HtmlHelpA(caller, file, command, data);
}

#endif

HtmlHelpLibrary::HtmlHelpLibrary()
    : m_loaded(std::make_unique<Loaded>())
{
}
