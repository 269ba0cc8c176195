#pragma once
// Everything a calculator window's source file needs: its definition, its form, the number
// readings and writings, checked arithmetic, the legacy constants and the registration of the window.
#include "model/calc_form.h"
#include "model/colour.h"
#include "model/field_access.h"
#include "model/form.h"
#include "model/form_definition.h"
#include "model/legacy_constants.h"
#include "model/num.h"
#include "model/number_text.h"
#include "model/run_failure.h"
#include "model/sketch.h"
#include "model/window_registry.h"
