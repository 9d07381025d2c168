#pragma once

// The whole forms library, for dialogs.
#include "forms/CheckBox.hpp"
#include "forms/ComboBox.hpp"
#include "forms/CommandButton.hpp"
#include "forms/Frame.hpp"
#include "forms/Image.hpp"
#include "forms/Label.hpp"
#include "forms/MultiPage.hpp"
#include "forms/OptionButton.hpp"
#include "forms/ScrollBar.hpp"
#include "forms/ShockwaveFlash.hpp"
#include "forms/SpinButton.hpp"
#include "forms/TextBox.hpp"
#include "forms/ToggleButton.hpp"
#include "forms/UserForm.hpp"
