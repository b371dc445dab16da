#include "plugin/target_name.h"

#include "host/lnitems.h"
#include "plugin/replace_all.h"

TargetName SplitTargetName(const LNString& typedName, const LNString& defaultExtension) {
  LNString name = typedName;
  ReplaceAll(name, "/", "\\");

  TargetName target;
  LNINT switchStart = 0;
  if (name.Find(" \\", 0, &switchStart) == host::kNoError) {
    target.switchText = name.GetSubString(switchStart, name.GetLength() - switchStart);
    target.fileName = name.GetSubString(0, switchStart);
  } else {
    target.fileName = name;
  }
  target.switchText.Append(" \\");

  LNText elements;
  target.fileName.Parse("\\", &elements);
  if (elements.GetCount() > 0) {
    LNINT dot = 0;
    if (elements[elements.GetCount() - 1].FindChar('.', 0, &dot) == host::kNotFound) {
      target.fileName.Append(defaultExtension);
    }
  }
  return target;
}
