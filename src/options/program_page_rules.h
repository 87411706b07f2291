// The program page: seven check boxes, each bound to one setting.
#pragma once

#include "options/control_binding.h"

const ControlBindings& ProgramBindings();
