#include "setup/KIVInstallApp.h"

#include "setup/SetupTexts.h"
#include "toolkit/KIVMessageBox.h"

#include "platform/Windows.h"

KIVInstallApp::KIVInstallApp(SetupDriver& setupDriver, const char16_t* resourceBase)
    : KIVApplication("Kiv installer", "1.0", resourceBase, nullptr), driver(setupDriver),
      state(setupDriver.state) {}

KIVInstallApp::~KIVInstallApp() = default;

KIVInstallApp* KIVInstallApp::Get() {
    return dynamic_cast<KIVInstallApp*>(AfxGetApp());
}

bool KIVInstallApp::CreateMainWindow() {
    screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    background_ = std::make_unique<SetupBackgroundWnd>();
    if (!background_->Create(screenWidth, screenHeight))
        return false;
    m_pMainWnd = background_.get();
    return true;
}

BOOL KIVInstallApp::OnIdle(LONG count) {
    if (count != 0 && !flowRan_) {
        flowRan_ = true;
        RunFlow();
        return FALSE;
    }
    return KIVApplication::OnIdle(count);
}

bool KIVInstallApp::FullScreen() const {
    return state.description.OptionFlag(kOptionFullScreen);
}

KIVString KIVInstallApp::SizeText(double bytes) const {
    return SizeTextWith(bytes, units_, decimalSeparator_);
}

void KIVInstallApp::LoadSizeUnits() {
    for (int i = 0; i < 4; ++i)
        units_[i] = SetupText(kTextSizeUnits + i);
    decimalSeparator_ = SetupText(kTextDecimalSeparator);
}

int KIVInstallApp::ShowMessage(CWnd* owner, const char16_t* text, DWORD style) {
    const int answer = Unattended()
                           ? UnattendedAnswer(text, style)
                           : KIVMessageBox(owner, text, KIVString(ApplicationName()), style, 0);
    LogMessage(text, answer);
    return answer;
}

void KIVInstallApp::ShutdownRoutine() {
    driver.Shutdown();
}

void KIVInstallApp::OrderlyExit() {
    ShutdownRoutine();
    WriteRecordedResponse();
    LogEnd();
    EndProcess(result_);
}

void KIVInstallApp::EndProcess(int code) {
    ::ExitProcess(static_cast<UINT>(code));
}
