// The two start-up passes over "Motives/": normalisation and the catalogue.
#include "motives/catalogue.h"

bool HasPictureEnding(const std::string&) { return false; }

void NormaliseMotiveFolder() {}

void BuildMotiveCatalogue() {}
