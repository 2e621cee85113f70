#pragma once

// The overwrite question of a generation run.

namespace fendril {}
