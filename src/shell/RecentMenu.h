#pragma once

// Rebuilds File > Open Recent from the recent list: the newest entry first, with the highest
// command number (1124 + its index, the oldest being 0); a separator when the list is empty.
void RebuildRecentMenu();
