# Sources of ztjobs (paths from src/).
target_sources(ztjobs PRIVATE
  setup/setupjob.h)
target_sources(ztjobs PRIVATE
  setup/loadnotices.cpp setup/loadnotices.h
  setup/importsetupjob.cpp setup/importsetupjob.h)
target_sources(ztjobs PRIVATE
  setup/importkitsjob.cpp setup/importkitsjob.h)
target_sources(ztjobs PRIVATE
  setup/kitfileforget.cpp setup/kitfileforget.h)
