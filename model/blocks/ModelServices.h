// CModelServices: where the model finds the objects of the outer libraries that it uses without
// linking them: the program's cutter profile as its cutting sink and the transform library as its
// transform service. A program defines one in its program-objects file, after the objects it
// names, and the model reaches them through the static accessors from then on; its destructor,
// which runs first at exit, takes them away again and brings back what was installed before (so
// a test may install fakes for its own duration). Without one the accessors give null, and the
// callers do nothing.
#pragma once

class CCutSink;
class CTransformService;

class CModelServices {
public:
  CModelServices(CCutSink* cutSink, CTransformService* transform);
  ~CModelServices();
  CModelServices(const CModelServices&) = delete;
  CModelServices& operator=(const CModelServices&) = delete;

  static CCutSink* CutSink();
  static CTransformService* Transform();

private:
  CCutSink* m_cutSink;
  CTransformService* m_transform;
  const CModelServices* m_previous;
};
