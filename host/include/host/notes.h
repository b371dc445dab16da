// The host's class library, all of it.
#pragma once

#include "host/lndatabase.h"
#include "host/lnerror.h"
#include "host/lnformats.h"
#include "host/lnform.h"
#include "host/lnformula.h"
#include "host/lnitems.h"
#include "host/lnnote.h"
#include "host/lnrichtext.h"
#include "host/lnsession.h"
#include "host/lnstring.h"
#include "host/lntypes.h"
#include "host/lnview.h"
