// Control and string ids of the options resources.
#pragma once
