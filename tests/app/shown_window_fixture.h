#pragma once

// The main window in-process as the program shows it: the application's main form, active, over a
// database the test writes, with keys sent to it as the window system sends them.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "platform/label.h"
#include "window_events.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orvalis::test {

class ShownWindowTest : public testing::Test {
protected:
    void Open(const std::vector<TRawRecord>& records) {
        WriteBytes(Folder.File("D/iDbRecs.dat"), Encode(records));
        Form = std::make_unique<TMainForm>();
        Application().SetMainForm(Form.get());
        Form->ShowWindow();
        Activate(*Form);
    }
    void TearDown() override {
        Application().SetMainForm(nullptr);
        Form.reset();
        SetScreenVariant(0);
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        Key(Form->Widget(), key, modifiers, text);
    }
    void Type(const std::string& text) { test::Type(Form->Widget(), text); }
    std::string Header() const { return Form->Topic->MainTextHeaderLbl->Caption(); }

    ProgramFolder Folder;
    std::unique_ptr<TMainForm> Form;
};

} // namespace orvalis::test
