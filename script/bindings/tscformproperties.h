// The persistent properties of the standard control and form classes as
// scripts see them, over the control objects (tscformcontrols.h).
#pragma once

namespace bralvo::script {

class TscClassVariable;

// Every control: Left, Top, Width, Height, Caption, Text, Name, Visible,
// Enabled, Checked, Color, Font, Align, Hint.
void registerControlProperties(TscClassVariable &control);
// Windowed controls: TabOrder.
void registerWinControlProperties(TscClassVariable &win);
// TLabel Alignment, AutoSize; TEdit MaxLength, PasswordChar, ReadOnly;
// TComboBox and TListBox Items, Style; TMemo Lines, ScrollBars; TButton
// ModalResult, Default, Cancel; TCheckBox State. Nothing for other names.
void registerClassProperties(const char *className, TscClassVariable &cls);
// TForm: BorderStyle, Position, KeyPreview, ClientWidth, ClientHeight.
void registerFormProperties(TscClassVariable &form);

} // namespace bralvo::script
