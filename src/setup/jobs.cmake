# Sources of ztjobs (paths from src/).
target_sources(ztjobs PRIVATE
  setup/setupjob.h)
