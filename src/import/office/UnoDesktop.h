#pragma once

#include "import/office/SpreadsheetConnection.h"

#include <com/sun/star/frame/XComponentLoader.hpp>

namespace quillmere {

struct SpreadsheetConnection::Desktop {
    com::sun::star::uno::Reference<com::sun::star::frame::XComponentLoader> loader;
};

} // namespace quillmere
