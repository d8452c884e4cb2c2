#pragma once
// The two feedback sounds: hover over a button, and click. Both return at
// once; a sound still playing is cut off by the next.
namespace Misc {

// Loads both sounds ahead of their first play; called once the resource
// directory is known.
void Priprav_zvuky();
void Zahraj_enter();
void Zahraj_click();

} // namespace Misc
