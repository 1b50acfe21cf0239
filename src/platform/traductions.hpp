#pragma once

class QCoreApplication;

namespace orbitel {

// Qt's own French texts (qtbase_fr: the print dialog, message boxes, the fields' menus), installed
// in the application whatever the user's locale, since the program is French throughout. False
// when Qt's translations are not installed: the dialogs then speak English.
bool charge_traductions_qt(QCoreApplication& application);

} // namespace orbitel
