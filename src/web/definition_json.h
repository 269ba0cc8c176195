#pragma once
// A window's definition as the page draws it: the runner's description (controls, meanings,
// remarks) with the layout the desktop window reads from the same definition: frames in their
// grids, places, caption placement, title and note styles, widths, keys and pictures.
#include <nlohmann/json.hpp>

#include "model/form_definition.h"

namespace pylora::web {

nlohmann::json definitionJson(const FormDefinition& definition, const Services& services);

// The menu tree: name, caption (with "&" before the access key), action as the runner's
// `menu` writes it, the window it shows, the entries under it.
nlohmann::json menuJson();

}  // namespace pylora::web
