# Sources of ztjobs (paths from src/).
target_sources(ztjobs PRIVATE
  setup/setupjob.h
  setup/savesteps.cpp setup/savesteps.h
  setup/keepsounds.cpp
  setup/gatherwaves.cpp
  setup/savesetupjob.cpp setup/savesetupjob.h
  setup/savekitsjob.cpp setup/savekitsjob.h)
