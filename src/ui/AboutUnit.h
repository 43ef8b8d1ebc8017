// The version window: banner, product name, the two versions from the version resource, and the
// copyright line that opens the web page.
#pragma once
#include <string>

#include "Form.h"

namespace zv {

// The web page that the banner and the copyright line open.
extern const char *const kWebAddress;

class TAboutBox : public Form {
  public:
    enum : int {
        IDC_PANEL1 = 601,
        IDC_PRODUCTNAME,
        IDC_COPYRIGHT,
        IDC_OKBUTTON = IDOK,
        IDC_PRODUCTVERSION = 605,
        IDC_FILEVERSION,
        IDC_IMAGE1
    };
    enum : int { kBanner = 101 }; // the banner's bitmap resource

    TAboutBox(); // reads the version strings (FormCreate)
    static const FormLayout &Layout();
    ~TAboutBox() override;

  protected:
    void Command(int id, int code) override;
    COLORREF LabelColor(int id) const override;
    void Rescaled() override;

  private:
    void FormCreate();
    void OKButtonClick() { Close(ModalResult::OK); }
    void Image1Click() { OpenWebPage(); }
    void CopyrightClick() { OpenWebPage(); }
    void CopyrightMouseEnter();
    void CopyrightMouseLeave();
    std::string GetProductVersion() const;
    std::string GetFileVersion() const;
    void OpenWebPage() const;
    static LRESULT CALLBACK CopyrightProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    bool hot_ = false; // the pointer is over the copyright line
};

// One string of the executable's version resource, from the Japanese, code page 932 table.
std::string VersionString(const std::string &exePath, const char *name);

} // namespace zv
