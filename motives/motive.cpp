// Motive records: loading one catalogue picture and making its reflection.
#include "motives/motive.h"

bool TMotives::AddMotiv(uint16_t, const std::string&) { return false; }

gfx::Image mirrorImage(const gfx::Image&) { return nullptr; }
