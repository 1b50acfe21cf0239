#pragma once

namespace orbitel {

// The decimal mark of the user's locale, ',' or '.', for every number the program writes.
char marque_decimale_locale();

} // namespace orbitel
