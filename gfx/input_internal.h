// Inside the drawing layer: the window's events as input counters.
#pragma once

union SDL_Event;

namespace gfx::detail {

void HandleEvent(const SDL_Event& event);
void ResetInput();   // nothing pressed, held or turned; no close request

}  // namespace gfx::detail
