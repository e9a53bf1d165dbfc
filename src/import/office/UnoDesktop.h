#pragma once

#include "import/office/OfficeStart.h"
#include "import/office/SpreadsheetConnection.h"
#include "import/office/TerminationVeto.h"

#include <com/sun/star/frame/XComponentLoader.hpp>

namespace quillmere {

struct SpreadsheetConnection::Desktop {
    explicit Desktop(office::OfficeLink officeLink);

    office::OfficeLink link;
    com::sun::star::uno::Reference<com::sun::star::frame::XComponentLoader> loader;
    // A connection lives for one run: the office stays up until the run has handed its document over.
    office::TerminationVeto veto;
};

} // namespace quillmere
