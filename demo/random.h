// The demo's own random generator, so that the traffic from a given seed is the
// same on every platform: a 32-bit linear congruential generator yielding 0..32767.
#ifndef SNOWGIG_RANDOM_H
#define SNOWGIG_RANDOM_H

const int randomMax = 32767;

void seedRandom(unsigned int seed);
int nextRandom();

#endif
