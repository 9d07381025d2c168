#pragma once

namespace velmora::studio {

// Qt's own words (the standard buttons of message boxes, the file and
// colour dialogs) in Chinese, as all the studio's text is: Qt's Chinese
// translation from the system's Qt, and Chinese as the default locale.
// False when the translation is not installed; Qt's English then stays.
bool UseChineseQtTexts();

}  // namespace velmora::studio
