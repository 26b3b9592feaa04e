#include "framework/Properties.h"

namespace fw {

void SetProperties(HasProperties& object, const Properties& properties) {
  for (const Property& p : properties)
    if (p.name == "Parent") object.SetProperty(p);
  for (const Property& p : properties)
    if (p.name != "Parent") object.SetProperty(p);
}

}  // namespace fw
