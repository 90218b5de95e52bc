# Sources of ztjobs (paths from src/).
target_sources(ztjobs PRIVATE
  setup/setupjob.h
  setup/savesteps.cpp setup/savesteps.h
  setup/keepsounds.cpp
  setup/gatherwaves.cpp
  setup/savesetupjob.cpp setup/savesetupjob.h
  setup/savekitsjob.cpp setup/savekitsjob.h)
target_sources(ztjobs PRIVATE
  setup/loadnotices.cpp setup/loadnotices.h
  setup/importsetupjob.cpp setup/importsetupjob.h
  setup/importkitsjob.cpp setup/importkitsjob.h
  setup/kitfileforget.cpp setup/kitfileforget.h)
