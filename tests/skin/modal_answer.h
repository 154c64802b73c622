#pragma once

// The helper moved to the shared test support.
#include "support/modal_answer.h"
