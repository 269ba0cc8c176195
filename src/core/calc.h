#pragma once
// Everything a calculator window's source file needs: its definition, its form, the number
// readings and writings, checked arithmetic, the legacy constants and the registration of the window.
#include "core/calc_form.h"
#include "core/colour.h"
#include "core/field_access.h"
#include "core/form.h"
#include "core/form_definition.h"
#include "core/legacy_constants.h"
#include "core/num.h"
#include "core/number_text.h"
#include "core/run_failure.h"
#include "core/sketch.h"
#include "core/window_registry.h"
