// Control and string ids of the widgets resources.
#pragma once
