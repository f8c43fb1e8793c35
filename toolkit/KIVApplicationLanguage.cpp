// The language resources of the application object: choosing the six files
// of a base (with a fallback), checking that they belong together, mapping the
// font file, and looking texts, fonts and bitmaps up by identifier.
#include "toolkit/KIVApplication.h"

#include "toolkit/KIVHtmlHelp.h"
#include "toolkit/KIVLanguageNames.h"
#include "toolkit/KIVLanguageSetting.h"
#include "toolkit/KIVSystem.h"
#include "toolkit/resources/KIVBitmapCache.h"
#include "toolkit/resources/KIVFileSource.h"
#include "toolkit/resources/KIVMemorySource.h"
#include "toolkit/resources/KIVStringFile.h"

#include <cstring>

namespace {

const char16_t* const kExtensions[KIVApplication::kResourceFileCount] = {
    u".erf", u".erb", u".erd", u".erm", u".era", u".ers"};

void Fatal(const char* text) {
    MessageBoxA(nullptr, text, "Fatal", MB_SETFOREGROUND | MB_OKCANCEL);
}

// The narrow path of base + extension when it fits 260 bytes and the file
// opens for reading; an empty text otherwise.
std::string OpenablePath(const char16_t* base, const char16_t* extension) {
    char path[260];
    if (!base || !(KIVString(base) + extension).ToNarrow(path, sizeof path))
        return std::string();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    CloseHandle(file);
    return path;
}

LONG LanguageIdOf(const char* path) {
    LONG id = -1;
    KIVFileSource file(path);
    file.LanguageId(&id);
    return id;
}

} // namespace

// Steps 2 to 5 of a language load: each file from the base, else from the
// fallback. False after the fatal message when a file is missing.
bool KIVApplication::ChooseResourceFiles(const char16_t* base, const char16_t* fallback) {
    bool found = true;
    for (int file = 0; file < kResourceFileCount && found; ++file) {
        std::string path = OpenablePath(base, kExtensions[file]);
        if (path.empty())
            path = OpenablePath(fallback, kExtensions[file]);
        found = !path.empty();
        std::strncpy(resourcePaths_[file], path.c_str(), sizeof resourcePaths_[file] - 1);
    }
    if (!found)
        Fatal("A vital file is damaged or destroyed. Please re-install the application.");
    return found;
}

bool KIVApplication::LoadLanguage(const char16_t* base, const char16_t* fallback) {
    std::memset(resourcePaths_, 0, sizeof resourcePaths_);
    if (!ChooseResourceFiles(base, fallback))
        return false;
    accelerators_.Load(KIVFileSource(resourcePaths_[kAcceleratorFile]));
    CheckLanguageIds();
    japanese_ = languageId_ == kKIVJapanese;
    fonts_.clear();
    MapFontFile();
    KIVBitmapCache::Process().SetFile(resourcePaths_[kBitmapFile]);
    if (!helpPath_[0]) {
        const KIVString baseText(base);
        const int slash = baseText.ReverseFind('\\');
        const KIVString help = baseText.Left(slash + 1) + u"Help\\" + baseText.Mid(slash + 1) +
                               u"_csh.htm";
        help.ToNarrow(helpPath_, sizeof helpPath_);
    }
    RecordLanguage();
    return true;
}

// The dialog file's identifier is the language's; the menu and string files
// must agree with it.
void KIVApplication::CheckLanguageIds() {
    languageId_ = LanguageIdOf(resourcePaths_[kDialogFile]);
    if (LanguageIdOf(resourcePaths_[kMenuFile]) != languageId_ ||
        LanguageIdOf(resourcePaths_[kStringFile]) != languageId_)
        Fatal("Incompatible languages found! Please re-install the application.");
}

void KIVApplication::MapFontFile() {
    UnmapFontFile();
    fontFile_ = CreateFileA(resourcePaths_[kFontFile], GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD high = 0;
    fontViewSize_ = fontFile_ == INVALID_HANDLE_VALUE ? 0 : GetFileSize(fontFile_, &high);
    if (fontFile_ != INVALID_HANDLE_VALUE && high == 0 && fontViewSize_ > 0)
        fontMapping_ =
            CreateFileMappingA(fontFile_, nullptr, PAGE_READONLY, 0, 0, "KIVGUIFontMap");
    if (fontMapping_)
        fontView_ = MapViewOfFile(fontMapping_, FILE_MAP_READ, 0, 0, 0);
    if (!fontView_)
        Fatal("Not enough memory to start application.");
}

void KIVApplication::UnmapFontFile() {
    if (fontView_)
        UnmapViewOfFile(fontView_);
    if (fontMapping_)
        CloseHandle(fontMapping_);
    if (fontFile_ != INVALID_HANDLE_VALUE)
        CloseHandle(fontFile_);
    fontView_ = nullptr;
    fontMapping_ = nullptr;
    fontFile_ = INVALID_HANDLE_VALUE;
    fontViewSize_ = 0;
}

void KIVApplication::RecordLanguage() const {
    KIVWriteLanguageSetting(applicationName_, versionName_, KIVLanguageName(languageId_),
                            hasRegistryFile_ ? registryFile_.c_str() : nullptr);
}

KIVString KIVApplication::GetText(int id) const {
    return KIVStringFile::GetText(resourcePaths_[kStringFile], id);
}

const KIVFont* KIVApplication::GetFont(int id) {
    for (const std::unique_ptr<KIVFont>& font : fonts_)
        if (font->Id() == id)
            return font.get();
    if (!fontView_)
        return nullptr;
    std::unique_ptr<KIVFont> font =
        KIVFont::Load(KIVMemorySource(fontView_, fontViewSize_), id, japanese_);
    if (!font)
        return nullptr;
    fonts_.push_back(std::move(font));
    return fonts_.back().get();
}

bool KIVApplication::GetBitmap(int id, int frame, KIVBitmapFrame* copy) const {
    return KIVBitmapCache::Process().GetBitmap(id, frame, copy);
}

// The help page beside the resources in the registered HTML viewer, else
// the older help file one folder up.
void KIVApplication::ShowHelp(int topic) {
    if (KIVShowHtmlHelp(helpPath_, topic) || topic == -1)
        return;
    KIVString folder(helpPath_);
    folder = folder.Left(folder.ReverseFind('\\'));
    const KIVString file = folder + u"\\..\\Talvic4.hlp";
    HWND window = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    if (KIVIsWindowsNT()) {
        WinHelpW(window, file, HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
        return;
    }
    char narrow[520];
    if (file.ToNarrow(narrow, sizeof narrow))
        WinHelpA(window, narrow, HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
}
