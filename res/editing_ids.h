// Control and string ids of the editing resources.
#pragma once
