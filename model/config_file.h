#pragma once
// The configuration file (*.Cvf): exactly the 8930 bytes of the record, no
// header, the current band kept in BandMax/BandMin.

#include <string>

#include "model/file_io.h"

namespace t604 {

// Copies the current band into the record and writes the record.
FileResult SaveConfigFile(const std::string& path);

// Reads up to 8930 bytes over the record and makes its band the current band.
// A file whose band fields are both zero (older programs left them zero)
// keeps the current band. The caller redraws the record.
FileResult LoadConfigFile(const std::string& path);

}  // namespace t604
