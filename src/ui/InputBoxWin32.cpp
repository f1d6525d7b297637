#include "ui/InputBoxWin32.h"

#include "ui/ButtonWin32.h"
#include "ui/DialogWin32.h"
#include "ui/EditWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

namespace {

class InputBoxDialog final : public Dialog {
  public:
    InputBoxDialog() {
        OnCommand(IDOK, [this] { Finish(IDOK); });
        OnCommand(IDCANCEL, [this] { Finish(IDCANCEL); });
    }
    ~InputBoxDialog() override { Destroy(); }

    bool Run(HWND owner, const std::string& title, const std::string& prompt, std::string& text) {
        constexpr int kWidth = 370;
        if (!Create(kInputBoxClass,
                    {.caption = title, .client = {kWidth, 122}, .owner = owner, .topmost = true}))
            return false;
        prompt_.Create(*this, prompt, {10, 8, kWidth - 20, 36});
        edit_.Create(*this, text, {10, 50, kWidth - 20, 22}, kInputBoxEditId);
        ok_.Create(*this, "OK", {kWidth - 180, 86, 80, 26}, IDOK, kAnchorTopLeft, true);
        cancel_.Create(*this, "Annuler", {kWidth - 90, 86, 80, 26}, IDCANCEL);
        edit_.SelectAll();
        const int result = ShowModal(edit_.Handle());
        // A box closed by WM_QUIT was never answered: the text stays as it was.
        if (answered_) text = typed_;
        return result == IDOK;
    }

  private:
    void Finish(int result) {
        typed_ = edit_.Text(); // kept on "Annuler" too
        answered_ = true;
        Close(result);
    }

    Static prompt_;
    Edit edit_;
    Button ok_, cancel_;
    std::string typed_;
    bool answered_ = false;
};

} // namespace

bool InputBox(HWND owner, const std::string& title, const std::string& prompt, std::string& text) {
    InputBoxDialog box;
    return box.Run(owner, title, prompt, text);
}

} // namespace pilotune
